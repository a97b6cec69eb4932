#pragma once
// The door of the module of Qt's picture readers (vidodez-qt-reader.so).
// Unlike ImageMagick's plain-C door, it hands over the imaging library's
// own types: the module is built from the same sources by the same build,
// installed beside the programs and never mixed with another build's.

extern "C" {

// LoadWithQt (qt_reader.h) for `picture`, a vidodez::imaging::LoadedPicture;
// `unread` is set to 0 or 1.
typedef int (*VidodezQtLoadFn)(const char* path, void* picture, int* unread);

int vidodez_qt_load(const char* path, void* picture, int* unread);

}  // extern "C"
