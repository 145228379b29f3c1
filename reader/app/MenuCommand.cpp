#include "reader/app/MenuCommand.h"

#include "reader/app/MenuIds.h"

MenuAction menuActionFor(uintptr_t wParam)
{
    const uint16_t id = static_cast<uint16_t>(wParam & 0xFFFF);
    switch (id) {
    case CmdExit:
        return MenuAction::Exit;
    case CmdHowToUse:
        return MenuAction::HelpDialog;
    case CmdAbout:
        return MenuAction::AboutDialog;
    case CmdAboutAudioBook:
        return MenuAction::StoreLinks;
    case CmdGetTeacher:
        return MenuAction::TeacherPage;
    case CmdDownloadDictionary:
        return MenuAction::DictionaryDownload;
    case CmdIgnored1:
    case CmdIgnored2:
    case CmdIgnored3:
        return MenuAction::None;
    case CmdSetupProgram:
        return MenuAction::SetupProgram;
    case CmdLanguageOthers:
        return MenuAction::DictionaryLanguage;
    default:
        break;
    }
    if (id >= CmdLanguageFirst && id <= CmdLanguageLast)
        return MenuAction::DictionaryLanguage;
    if (id >= CmdGlossaryFirst && id < CmdGlossaryEnd)
        return MenuAction::Glossary;
    if (id >= CmdChapterFirst && id < CmdChapterEnd)
        return MenuAction::GoToChapter;
    if (id >= CmdTranslationFirst && id < CmdTranslationEnd)
        return MenuAction::ToggleTranslation;
    return MenuAction::None;
}
