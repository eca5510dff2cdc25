#pragma once

#include "widget/strings/LocalizedStringResource.h"

#include <optional>
#include <ostream>

namespace tandry {

// How a parameter takes its value from the result of an earlier intent.
enum class InputConnectionBehavior { defaultBehavior, connectToPreviousIntentResult, never };

// The declared settings of an intent parameter. A setting left absent is not
// declared, and the intent host's own default applies.
struct IntentParameterSettings {
    LocalizedStringResource title;
    std::optional<LocalizedStringResource> description;
    std::optional<LocalizedStringResource> requestValueDialog;
    bool hasInputOptions = false;
    InputConnectionBehavior inputConnectionBehavior = InputConnectionBehavior::defaultBehavior;

    bool operator==(const IntentParameterSettings&) const = default;
};

// One parameter of an intent: its settings and the value it holds, or none yet.
template <typename Value> struct IntentParameter {
    IntentParameterSettings settings;
    std::optional<Value> value;

    bool operator==(const IntentParameter&) const = default;

    // True when the parameter holds exactly `other`.
    friend bool operator==(const IntentParameter& parameter, const Value& other) {
        return parameter.value == other;
    }
};

inline std::ostream& operator<<(std::ostream& out, InputConnectionBehavior behavior) {
    switch (behavior) {
    case InputConnectionBehavior::defaultBehavior:
        return out << "default";
    case InputConnectionBehavior::connectToPreviousIntentResult:
        return out << "connectToPreviousIntentResult";
    case InputConnectionBehavior::never:
        return out << "never";
    }
    return out << "default";
}

inline std::ostream& operator<<(std::ostream& out, const IntentParameterSettings& settings) {
    out << "IntentParameterSettings{title " << settings.title;
    if (settings.description) {
        out << ", description " << *settings.description;
    }
    if (settings.requestValueDialog) {
        out << ", requestValueDialog " << *settings.requestValueDialog;
    }
    if (settings.hasInputOptions) {
        out << ", inputOptions";
    }
    return out << ", inputConnectionBehavior " << settings.inputConnectionBehavior << '}';
}

template <typename Value>
std::ostream& operator<<(std::ostream& out, const IntentParameter<Value>& parameter) {
    out << "IntentParameter{";
    if (parameter.value) {
        out << '"' << *parameter.value << '"';
    } else {
        out << "no value";
    }
    return out << '}';
}

} // namespace tandry
