// Identifiers of the program's resources; included by the resource script too,
// so this header holds preprocessor definitions only.
#pragma once

#define QUILLET_ICON 1
#define QUILLET_MANIFEST 1

// Button bitmaps: the base plus the button's control identifier.
#define QUILLET_BUTTON_BITMAP_BASE 100
#define QUILLET_BITMAP_OPEN 101
#define QUILLET_BITMAP_SAVE 102
#define QUILLET_BITMAP_WORDWRAP 103
#define QUILLET_BITMAP_NEW 105
#define QUILLET_BITMAP_PASTE 106
#define QUILLET_BITMAP_ONTOP 107
#define QUILLET_BITMAP_CLEARCLIP 108
#define QUILLET_BITMAP_COPY 110
#define QUILLET_BITMAP_CUT 111
#define QUILLET_BITMAP_PEN 112
#define QUILLET_BITMAP_PRINT 113
#define QUILLET_BITMAP_FIND 114
