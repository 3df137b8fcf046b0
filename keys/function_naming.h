#pragma once
// The caption of a key's function code on the keyboard and mouse pages.
#include "profiles/profile_records.h"

#include <string>
#include <vector>

namespace q31::keys {

enum class Page { Keyboard, Mouse };

struct NamingContext {
    Page page = Page::Keyboard;
    int macroCount = 0;   // entries of the device's macro list
    int recoilNames = 4;  // recoil profiles the mouse offers names for
};

struct CodeName {
    enum class Kind {
        NameKeys,   // the language texts of nameKeys, joined with "+"
        Macro,      // the name of macro list entry `macro`
        Unchanged,  // the caption stays as it was
        Closed,     // the literal caption "关闭"
    };
    Kind kind = Kind::Unchanged;
    std::vector<std::string> nameKeys;
    int macro = -1;
    bool operator==(const CodeName&) const = default;
};

CodeName NameOfCode(FunctionCode code, const NamingContext& context);

}  // namespace q31::keys
