#pragma once

#include <cstdint>

// The target languages of the online dictionary: the items of the "Online
// Babylon Emulator" menu, by language index, with the service's codes.
struct DictionaryLanguage {
    const char16_t* m_menu_text;
    uint16_t m_command_id;
    const char16_t* m_code;
};

uint32_t dictionaryLanguageCount();
// The first language (English) when the index is out of range.
const DictionaryLanguage& dictionaryLanguage(uint32_t index);

// The code sent for a language index; the word "English" above the last one.
const char16_t* dictionaryLanguageCode(uint32_t index);
// The language index of a language command: 15000 to 15015 give 0 to 15,
// "Others" the last; any other identifier 0.
uint32_t dictionaryLanguageIndex(uint16_t commandId);
