#include "edition/AudioEditions.h"

#include "edition/AudioEditionIsbns.h"

const char16_t UsStoreFirstEdition[] = u" https://books.example.com/us/audiobooks/isbn/" AUDIO_EDITION_1_ISBN;
const char16_t UsStoreSecondEdition[] = u" https://books.example.com/us/audiobooks/isbn/" AUDIO_EDITION_2_ISBN;
const char16_t FrenchStoreFirstEdition[] = u" https://books.example.com/fr/livres-audio/isbn/" AUDIO_EDITION_1_ISBN;
const char16_t FrenchStoreSecondEdition[] = u" https://books.example.com/fr/livres-audio/isbn/" AUDIO_EDITION_2_ISBN;
