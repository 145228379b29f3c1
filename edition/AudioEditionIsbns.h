/* The ISBNs of the book's two audio editions, first and second. Shared by
   the audio-edition dialog's text in Tavrems.rc and the store addresses, so
   they are string literals for both compilers. */
#pragma once

#define AUDIO_EDITION_1_ISBN "978-2-99999-001-2"
#define AUDIO_EDITION_2_ISBN "978-2-99999-002-9"
