#pragma once

#include <cstdint>

// The command identifiers of the menu bar.
const uint16_t CmdExit = 2000;
const uint16_t CmdHowToUse = 3000;
const uint16_t CmdAbout = 4000;
const uint16_t CmdAboutAudioBook = 4001;
const uint16_t CmdGetTeacher = 4002;
const uint16_t CmdDownloadDictionary = 4100;
const uint16_t CmdGlossaryFirst = 4101; // the glossary item; up to 4199
const uint16_t CmdGlossaryEnd = 4200;
const uint16_t CmdChapterFirst = 7000; // "Go to..." item k is 7000 + k
const uint16_t CmdChapterEnd = 8000;
const uint16_t CmdTranslationFirst = 8000; // "Translations" item i is 8000 + i
const uint16_t CmdTranslationEnd = 9000;
const uint16_t CmdIgnored1 = 9000;
const uint16_t CmdIgnored2 = 9100;
const uint16_t CmdIgnored3 = 9200;
const uint16_t CmdSetupProgram = 14000;
const uint16_t CmdLanguageFirst = 15000; // 15000 to 15015, then "Others"
const uint16_t CmdLanguageLast = 15015;
const uint16_t CmdLanguageOthers = 15020;
