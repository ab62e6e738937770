#include "base/Translate.h"

#include <atomic>

namespace hw {
namespace {

std::atomic<Translator> g_translator{nullptr};

} // namespace

void SetTranslator(Translator translator)
{
    g_translator.store(translator, std::memory_order_release);
}

std::string Translate(const char* context, const char* source)
{
    const Translator translator = g_translator.load(std::memory_order_acquire);
    if (translator == nullptr || source == nullptr || *source == '\0') {
        return source != nullptr ? std::string(source) : std::string();
    }
    return translator(context, source);
}

} // namespace hw
