#include "KROMutex.h"

KROMutex::KROMutex(int /*spinCount*/, int /*recursive*/, int /*shared*/) {}
