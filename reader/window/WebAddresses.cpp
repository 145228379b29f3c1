#include "reader/window/WebAddresses.h"

const char16_t LookupAddressPrefix[] =
    u" https://dictionary.example.com/lookup?cid=tavrems-1401&rt=ol&tid=pop&x=21&y=13&term=";
const char16_t HomePageAddress[] = u" https://www.example.com/lorvanta/";
const char16_t TeacherPageAddress[] = u" https://www.example.com/lorvanta/teachers.html";
const char16_t DictionaryDownloadAddress[] = u" https://dictionary.example.com/download?cid=tavrems-1401";
