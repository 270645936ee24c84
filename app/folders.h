// Making the folders that a file is to be written in, for capture paths such as shots/%04d.png.
#pragma once

// Makes the folders of path's directory part that do not exist yet, below the deepest one that
// does, as mkdir -p would. True when the directory part exists afterwards (or there is none);
// on failure the folders made here are removed again and false is returned.
bool MakeParentFolders(const char* path);
