// Registers the skinned controls, the skin manager and the alpha image list
// for streaming, so that forms read from the component format can hold them.
// Programs and tests call it once before reading forms; calling it again
// does no harm.
#pragma once

void RegisterSkinControls();
