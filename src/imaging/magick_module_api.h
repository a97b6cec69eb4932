#pragma once
// The plain-C door of the ImageMagick module (libvidodez_magick.so), which
// the imaging library loads with dlopen the first time a picture needs it:
// ImageMagick and its delegates cost start-up time and memory that the
// common formats (read by Qt, JPEG by libjpeg-turbo) never need.

#include <stddef.h>

extern "C" {

enum VidodezMagickResult {
  kVidodezMagickOk = 0,
  kVidodezMagickUnreadable = 1,  // damaged, cut short, or no such format
  kVidodezMagickTooLarge = 2,    // beyond the caller's bound or ImageMagick's resources
  kVidodezMagickCannotWrite = 3,
  // beyond the width, height or area ImageMagick's policy allows
  kVidodezMagickBeyondLimits = 4,
};

struct VidodezMagickRead {
  const unsigned char* data;  // the whole file
  size_t size;
  // ImageMagick's coder ("TGA") for formats that have no signature, tried
  // after the content did not tell the format; null or "" for none.
  const char* coder;
  long long max_pixels;
  long long max_side;
  void* context;
  // Called once the size is known and within bounds; nonzero stops the read.
  int (*begin)(void* context, int width, int height, int bits_per_pixel);
  // Called for each line, top to bottom, with width RGBA pixels (8 bits each).
  void (*row)(void* context, int y, const unsigned char* rgba);
};

// How the black-and-white picture is handed to the coder. Most coders write
// one bit a pixel for a bilevel picture; the Sun raster and icon coders do so
// only for a two-colour palette picture in sRGB.
enum VidodezMagickForm {
  kVidodezMagickGrey = 0,
  kVidodezMagickBilevel = 1,
  kVidodezMagickPalette = 2,
};

struct VidodezMagickWrite {
  const unsigned char* grey;  // width * height bytes, 0 black, 255 white
  int width;
  int height;
  int dpi;
  const char* coder;     // "GIF", "J2K", ...
  int form;              // a VidodezMagickForm
  unsigned char* bytes;  // out: the file, to be released with vidodez_magick_free
  size_t size;
};

typedef int (*VidodezMagickReadFn)(const struct VidodezMagickRead* request);
typedef int (*VidodezMagickWriteFn)(struct VidodezMagickWrite* request);
typedef void (*VidodezMagickFreeFn)(void* bytes);

int vidodez_magick_read(const struct VidodezMagickRead* request);
int vidodez_magick_write(struct VidodezMagickWrite* request);
void vidodez_magick_free(void* bytes);

}  // extern "C"
