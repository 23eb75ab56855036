#include "files/FormSettings.h"

#include <array>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <variant>

namespace tallyrix {
namespace {

enum class FormKeyUse { AtClose, AtCloseWhenFileExists, ByPresets };

struct FormKey {
    std::string_view name;
    std::variant<int FormSettings::*, bool FormSettings::*, std::string FormSettings::*> member;
    FormKeyUse use;
};

constexpr std::array Keys = {
#define TALLYRIX_FORM_ENTRY(key, type, design, use) FormKey{#key, &FormSettings::key, FormKeyUse::use},
    TALLYRIX_FORM_KEYS(TALLYRIX_FORM_ENTRY)
#undef TALLYRIX_FORM_ENTRY
};

void ReadKey(const ProfileFile& profile, const FormKey& key, const FormSettings& defaults, FormSettings& settings)
{
    std::visit(
        [&](auto member) {
            using Value = std::remove_reference_t<decltype(settings.*member)>;
            const Value& fallback = defaults.*member;
            if constexpr (std::is_same_v<Value, bool>)
                settings.*member = profile.ReadBool(FormSection, key.name, fallback);
            else if constexpr (std::is_same_v<Value, int>)
                settings.*member = profile.ReadInteger(FormSection, key.name, fallback);
            else
                settings.*member = profile.ReadText(FormSection, key.name, fallback);
        },
        key.member);
}

void WriteKey(ProfileFile& profile, const FormKey& key, const FormSettings& settings)
{
    std::visit(
        [&](auto member) {
            using Value = std::remove_cvref_t<decltype(settings.*member)>;
            if constexpr (std::is_same_v<Value, bool>)
                profile.WriteBool(FormSection, key.name, settings.*member);
            else if constexpr (std::is_same_v<Value, int>)
                profile.WriteInteger(FormSection, key.name, settings.*member);
            else
                profile.WriteText(FormSection, key.name, settings.*member);
        },
        key.member);
}

const FormKey& KeyOf(int FormSettings::*member)
{
    for (const FormKey& key : Keys)
        if (const auto* held = std::get_if<int FormSettings::*>(&key.member); held && *held == member) return key;
    throw std::logic_error("a member of FormSettings without a key");
}

}  // namespace

FormSettings ReadFormSettings(const ProfileFile& profile, const FormSettings& defaults)
{
    FormSettings settings = defaults;
    for (const FormKey& key : Keys)
        ReadKey(profile, key, defaults, settings);
    return settings;
}

void WriteFormSettings(ProfileFile& profile, const FormSettings& settings, bool currentFileExists)
{
    for (const FormKey& key : Keys) {
        if (key.use == FormKeyUse::AtClose || (key.use == FormKeyUse::AtCloseWhenFileExists && currentFileExists))
            WriteKey(profile, key, settings);
    }
}

void WriteStoredPaneWidths(ProfileFile& profile, std::optional<int> iOldLeftPanelWidth,
                           std::optional<int> iOldreResultWidth)
{
    const std::pair<int FormSettings::*, std::optional<int>> stored[] = {
        {&FormSettings::iOldLeftPanelWidth, iOldLeftPanelWidth},
        {&FormSettings::iOldreResultWidth, iOldreResultWidth},
    };
    for (const auto& [member, width] : stored) {
        if (width) profile.WriteInteger(FormSection, KeyOf(member).name, *width);
    }
}

}  // namespace tallyrix
