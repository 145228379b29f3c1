#include "reader/window/DictionaryLanguages.h"

#include "reader/app/MenuIds.h"

namespace {

const DictionaryLanguage kLanguages[] = {
    {u"English", 15000, u"EN"},    {u"French", 15001, u"FR"},   {u"Russian", 15002, u"RU"},
    {u"German", 15003, u"DE"},     {u"Hebrew", 15004, u"HE"},   {u"Spanish", 15005, u"ES"},
    {u"Chinese", 15006, u"ZHT"},   {u"Korean", 15007, u"KO"},   {u"Japanese", 15008, u"JA"},
    {u"Italian", 15009, u"IT"},    {u"Dutch", 15010, u"NL"},    {u"Turkish", 15011, u"TR"},
    {u"Portuguese", 15012, u"PT"}, {u"Swedish", 15013, u"SV"},  {u"Serbian", 15014, u"SR"},
    {u"Croatian", 15015, u"HR"},   {u"Others", CmdLanguageOthers, u"OT"},
};

const uint32_t kLanguageCount = sizeof(kLanguages) / sizeof(kLanguages[0]);

} // namespace

uint32_t dictionaryLanguageCount()
{
    return kLanguageCount;
}

const DictionaryLanguage& dictionaryLanguage(uint32_t index)
{
    return index < kLanguageCount ? kLanguages[index] : kLanguages[0];
}

const char16_t* dictionaryLanguageCode(uint32_t index)
{
    return index < kLanguageCount ? kLanguages[index].m_code : u"English";
}

uint32_t dictionaryLanguageIndex(uint16_t commandId)
{
    if (commandId >= CmdLanguageFirst && commandId <= CmdLanguageLast)
        return commandId - CmdLanguageFirst;
    if (commandId == CmdLanguageOthers)
        return kLanguageCount - 1;
    return 0;
}
