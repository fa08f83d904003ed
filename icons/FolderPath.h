// Creating a folder together with every missing folder above it.
#pragma once

// Creates folder and the missing folders on its path; true when it exists as a folder after.
// On failure (a missing drive, no rights, a file in the way) the folders it made are removed.
bool CreateFolderPath(const char* folder);
