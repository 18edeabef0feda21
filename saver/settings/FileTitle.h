#pragma once
#include <string>

// The title a file's path suggests: the name after the last backslash, less
// an extension of at most four characters after its dot. The dot is the last
// one in the whole path, so C:\a.b\x gives "a".
std::string TitleFromFileName(const std::string& path);
