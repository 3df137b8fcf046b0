#pragma once
// The numbers an interface path carries ("vid_3a9d&pid_6b01&mi_01&col04").
// Tokens are found case-insensitively; a missing token gives 0.
#include <string_view>

int ParseVid(std::string_view path);
int ParsePid(std::string_view path);
int ParseInterface(std::string_view path);
int ParseCollection(std::string_view path);
