#pragma once

// The fixed web addresses of the program. Each begins with one blank: it is
// appended directly to the browser's program path on its command line.

// The dictionary service's lookup, with our partner code; the word follows.
extern const char16_t LookupAddressPrefix[];
// The maker's home page ("More..." in the about dialog).
extern const char16_t HomePageAddress[];
// The maker's page on schools and tutors ("Get a teacher.").
extern const char16_t TeacherPageAddress[];
// The outside dictionary's download page, a partner link.
extern const char16_t DictionaryDownloadAddress[];
