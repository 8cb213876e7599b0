#pragma once
// Marks a text that is shown to the user for the translation catalogues, without translating it:
// the computations stay free of catalogues and I/O, and whoever shows the text translates it
// (report/translation.h's Tr).
#define N_(text) text
