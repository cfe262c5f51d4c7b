// Outputs are written under a temporary name beside their own and renamed once whole, so that a file under
// the final name is always complete, whatever stopped the capture.
#pragma once

#include <string>

// "DIR/.NAME.partial.EXT" for "DIR/NAME.EXT": in the same directory (a rename moves it into place), hidden,
// and with the same extension, so that ffmpeg picks the same container for it.
std::string PartialName(const std::string& path);

// Renames a finished partial file to its final name. With `durable` its contents reach the disk first, so
// that after a power cut the final name never stands for a file whose data was lost. False with a one-line
// reason.
bool MoveIntoPlace(const std::string& partial, const std::string& path, bool durable, std::string& error);
