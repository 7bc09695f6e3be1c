// The two kinds of file-mode source behind openFileSource.
#pragma once

#include "file_source.h"

namespace korvane::media {

bool looksLikeRecorderFile(const std::string &path);
std::unique_ptr<FileSource> openRecorderFile(const std::string &path);
std::unique_ptr<FileSource> openContainerFile(const std::string &path);

} // namespace korvane::media
