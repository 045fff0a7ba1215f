#pragma once
// Resource numbers of the generated art (tools/art): skins, panel pictures, window icons and
// the link-label cursor. Skin n (0 .. 29) is IDR_SKIN_CAPTION_FIRST + n and
// IDR_SKIN_BORDER_FIRST + n; pictures are RCDATA holding the file bytes (JPEG, GIF, BMP).

#define ART_SKIN_COUNT 30

#define IDR_SKIN_CAPTION_FIRST 1000  // caption_NN.jpg, 600 x 55
#define IDR_SKIN_BORDER_FIRST 1100   // border_NN.jpg, 65 x 10

#define IDR_IMAGE1 1200              // main window Image1, GIF 320 x 230
#define IDR_IMAGE2 1201              // main window Image2, GIF 320 x 234
#define IDR_FORM11_PICTURE 1202      // picture player display, JPEG 480 x 330
#define IDR_FORM11_IMGLIST 1203      // picture player stand-in image list, BMP 32 x 32

#define IDI_FRMTEST 1300             // window icons: 16, 32 and 48 pixels, 24 bits per pixel
#define IDI_FRMTEXTEFFECT 1301
#define IDI_FORM11 1302
#define IDI_FORM12 1303
#define IDI_FROTFONT 1304

#define IDC_LINK_HAND 1400           // link-label hand cursor, 32 x 32, hot spot (5, 0)
