#pragma once

#include <string>

// Marks a text for the translation tools where it is only listed, not yet
// shown (tables of names); translate it with hw::Translate when it is shown.
#define HW_TRANSLATE_NOOP(context, source) source

namespace hw {

// Turns a user text of the core into the interface language. The gui installs
// the translator at start-up; without one the source text is returned as it
// stands. Texts are UTF-8, the sources Chinese. The translation tools find
// every call of Translate (and HW_TRANSLATE_NOOP) by its context and source.
using Translator = std::string (*)(const char* context, const char* source);

void SetTranslator(Translator translator);
std::string Translate(const char* context, const char* source);

// Translate for tables that hand out `const char*`: the text stays valid for
// the program's life (each distinct translation is kept once).
const char* TranslateStable(const char* context, const char* source);

// The code of the interface language ("en") for what has a version per
// language (the geocache page templates); empty for the source language.
// Set at start-up with the translator.
void SetLanguageCode(const std::string& code);
std::string LanguageCode();

} // namespace hw
