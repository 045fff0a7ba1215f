#pragma once
// Resource numbers of the banner folder's own art (tools/art/make_banner_art.py), 1550 to 1599.

#define IDI_FORM3 1550  // gradient designer icon: 16, 32 and 48 pixels, 24 bits per pixel
