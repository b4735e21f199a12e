// A small image beside the caption of a push button.
#pragma once

#include <windows.h>

#include <cstdint>

// Puts image (image_type IMAGE_BITMAP 0 or IMAGE_ICON 1, width x height
// pixels) on a push button. The button gets an image list of five images for
// its five states (normal, hot, pressed, disabled, default), the disabled one
// blended 50 %, placed 10 pixels from the left edge. A button that refuses
// image lists (answers 0 to BCM_SETIMAGELIST) gets the plain image through
// BM_SETIMAGE instead, and the list is destroyed. Returns the button's answer;
// 0 without touching the button when image_type is 2 or more.
//
// The image list of an accepting button stays alive with the other
// resources of the opening (WindowChrome) until its window goes; the image
// itself stays the caller's.
std::int32_t SetButtonIcon(HWND button, HANDLE image, std::uint32_t image_type, int width,
                           int height);
