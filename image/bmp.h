// The loader for uncompressed Windows BMP files of 8, 24 and 32 bits per pixel.
#pragma once

class Image;

bool LoadBmp(const char* path, Image* image);
