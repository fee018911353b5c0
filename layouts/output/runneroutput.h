// Step 14 of a runner's run: the bound layout goes to the output path its
// pages choose (one graphic page, several as one composite report) and is
// acted on by the runner's mode. InstallRunnerOutputPaths puts this into the
// runner's output seam and teaches the composite report its members, so the
// program calls it once at start-up, after the classes are registered.
#pragma once

class TDizaynPreviewF;

// Runs the runner's bound layout through its output path: one graphic page,
// several as one composite report, or the text pages through the runner's
// text paths.
void RunRunnerOutput(TDizaynPreviewF& Runner);

// Installs RunRunnerOutput as the runner's output and the composite report's
// member adder (each page appended to Reports(), its detail band keeping the
// runner's handler).
void InstallRunnerOutputPaths();
