#pragma once

// A value of the settings store, and an entry: a key with its value.

#include <QString>

#include <cstdint>
#include <variant>

namespace wexlo {

// A setting value: empty, text, Boolean or a 32-bit whole number. Values read back from the
// settings file are text, or Boolean when the text reads true or false.
class SettingValue {
public:
    enum class Kind { Empty, Text, Boolean, Number };

    SettingValue() = default;
    SettingValue(const QString& text) : v_(text) {}                  // NOLINT implicit
    SettingValue(const char* text) : v_(QString::fromUtf8(text)) {}  // NOLINT implicit
    SettingValue(bool b) : v_(b) {}                                  // NOLINT implicit
    SettingValue(std::int32_t n) : v_(n) {}                          // NOLINT implicit

    Kind kind() const { return static_cast<Kind>(v_.index()); }
    bool isEmpty() const { return kind() == Kind::Empty; }

    // Conversions as the program's callers use them. Text that does not convert raises
    // RuntimeError 13 (type mismatch); an empty value converts to "", false and 0.
    QString toText() const;
    bool toBool() const;
    std::int32_t toNumber() const;
    // True when the value is numerically zero (empty, false, 0, or text that reads as 0).
    bool isNumericZero() const;

    // The print form written to the settings file: "True"/"False"; a number as blank,
    // digits, blank (" 5 ", "-5 "); text as it stands; empty as nothing.
    QString printForm() const;

    bool operator==(const SettingValue& o) const = default;

private:
    std::variant<std::monostate, QString, bool, std::int32_t> v_;
};

struct SettingEntry {
    QString key;
    SettingValue value;
};

}  // namespace wexlo
