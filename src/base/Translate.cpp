#include "base/Translate.h"

#include <atomic>
#include <mutex>
#include <set>

namespace hw {
namespace {

std::atomic<Translator> g_translator{nullptr};

std::mutex& LanguageMutex()
{
    static std::mutex mutex;
    return mutex;
}
std::string& LanguageCodeText()
{
    static std::string code;
    return code;
}

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

const char* TranslateStable(const char* context, const char* source)
{
    if (source == nullptr)
        return nullptr;
    if (g_translator.load(std::memory_order_acquire) == nullptr)
        return source;
    std::string text = Translate(context, source);
    if (text == source)
        return source;
    static std::mutex mutex;
    static std::set<std::string, std::less<>> kept; // node-based: pointers stay valid
    const std::lock_guard<std::mutex> lock(mutex);
    return kept.insert(std::move(text)).first->c_str();
}

void SetLanguageCode(const std::string& code)
{
    const std::lock_guard<std::mutex> lock(LanguageMutex());
    LanguageCodeText() = code;
}

std::string LanguageCode()
{
    const std::lock_guard<std::mutex> lock(LanguageMutex());
    return LanguageCodeText();
}

} // namespace hw
