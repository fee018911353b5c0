// The main form's pictures, loaded from the program's resources: the image
// list's strip (the menus and the header draw from it; the tools menu's
// fixed items use the images their table names), the header picture that
// ImageBaslik1 holds and the glyph of "Dozuri 3 Modu".
#pragma once

class TAnaF;

// The image the form header shows.
inline constexpr int HeaderImageIndex = 0;
// How many images the strip holds.
inline constexpr int MainImageCount = 32;

void LoadMainFormPictures(TAnaF& form);
