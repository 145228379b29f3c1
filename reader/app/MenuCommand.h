#pragma once

#include <cstdint>

// What a menu command does, by its identifier (the low 16 bits of the
// command's wParam).
enum class MenuAction {
    None,
    Exit,
    HelpDialog,
    AboutDialog,
    StoreLinks,
    TeacherPage,
    DictionaryDownload,
    Glossary,
    GoToChapter,
    ToggleTranslation,
    SetupProgram,
    DictionaryLanguage,
};

// Single identifiers and languages first, then the ranges, each from its
// first identifier up to but not including its end.
MenuAction menuActionFor(uintptr_t wParam);
