// The current skin's title background and text colours.
#pragma once

// Asks the player for the skin folder and reads the skin's title
// background, text colours and font colouring from it into the surfaces.
void LoadSkinPictures();
// The skin folder the last load asked the player for ("" before the first).
const char* SkinFolder();
// The skin pictures as a fresh start has them: no skin read yet.
void ResetSkinPictures();
