// The two kinds of text the programs share names in: Korvessa.exe makes its Windows calls in
// 8-bit text, KorvessaX64.exe in wide text. A shared name is written once as NAME(TEXT).
#pragma once

#define KORVESSA_ANSI_TEXT(text) text
#define KORVESSA_WIDE_TEXT(text) L##text
