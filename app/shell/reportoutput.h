// The runner's output: after the runner has loaded, bound and settled a
// layout, its graphic pages go to the chosen output path (one page on its
// own, several as one composite report) in the mode the request asked for.
#pragma once

// Installs the output into the report runner; the program's set-up calls it
// once, after InstallReportRunner.
void InstallLayoutOutput();
