#pragma once
// Names and ids: UTF-16 inside the program, UTF-8 in every document.
#include <QString>

#include <string>

std::string Utf8FromWide(const QString& text);
QString WideFromUtf8(const std::string& text);

// The file name without folder and extension ("/a/Gaming.json" -> "Gaming").
QString FileBaseName(const QString& path);

// True when nothing is left after trimming white space at both ends.
bool IsBlankName(const QString& name);
