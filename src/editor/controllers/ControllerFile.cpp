#include "editor/controllers/ControllerFile.h"

#include "project/JsonParser.h"
#include "project/JsonValue.h"

#include <cmath>
#include <optional>

namespace {

struct KindName {
    ControlKind kind;
    const char* name;
};
constexpr KindName kindNames[] = {{ControlKind::ControlChange, "cc"},
                                  {ControlKind::PitchBend, "bend"},
                                  {ControlKind::NoteVelocity, "note"},
                                  {ControlKind::Osc, "osc"}};

const char* nameOf(ControlKind kind) {
    for (const KindName& entry : kindNames)
        if (entry.kind == kind)
            return entry.name;
    return "cc";
}

std::optional<ControlKind> kindNamed(const std::string& name) {
    for (const KindName& entry : kindNames)
        if (name == entry.name)
            return entry.kind;
    return std::nullopt;
}

std::optional<double> numberIn(const JsonValue& value) {
    if (value.kind() == JsonKind::Integral)
        return value.asInt();
    if (value.kind() == JsonKind::Floating && std::isfinite(value.asFloat()))
        return value.asFloat();
    return std::nullopt;
}

// A whole number from `lowest` to `highest`.
std::optional<int> wholeIn(const JsonValue& value, int lowest, int highest) {
    const std::optional<double> number = numberIn(value);
    if (!number || *number != std::floor(*number) || *number < lowest || *number > highest)
        return std::nullopt;
    return static_cast<int>(*number);
}

JsonValue entryOf(const ControllerBinding& binding) {
    JsonValue entry = JsonValue::makeObject(
        {{"control", nameOf(binding.source.kind)}, {"event", binding.event}, {"variable", binding.variable}});
    if (binding.source.kind == ControlKind::Osc) {
        entry.member("address") = binding.source.address;
        entry.member("low") = binding.oscLow;
        entry.member("high") = binding.oscHigh;
        return entry;
    }
    entry.member("channel") = binding.source.channel + 1;
    if (binding.source.kind != ControlKind::PitchBend)
        entry.member("number") = binding.source.number;
    return entry;
}

// The binding `entry` describes, or why it does not.
std::optional<ControllerBinding> bindingOf(const JsonValue& entry, std::string& problem) {
    ControllerBinding binding;
    const std::optional<ControlKind> kind = kindNamed(entry.get("control").asString());
    binding.event = entry.get("event").asString();
    binding.variable = entry.get("variable").asString();
    if (!kind) {
        problem = "its \"control\" is not cc, bend, note or osc";
        return std::nullopt;
    }
    if (binding.event.empty() || binding.variable.empty()) {
        problem = "it names no event or no variable";
        return std::nullopt;
    }
    binding.source.kind = *kind;
    if (*kind == ControlKind::Osc) {
        binding.source.address = entry.get("address").asString();
        const std::optional<double> low = numberIn(entry.get("low"));
        const std::optional<double> high = numberIn(entry.get("high"));
        if (binding.source.address.empty() || binding.source.address[0] != '/' || !low || !high || *low == *high) {
            problem = "its OSC address or range is missing or wrong";
            return std::nullopt;
        }
        binding.oscLow = static_cast<float>(*low);
        binding.oscHigh = static_cast<float>(*high);
        return binding;
    }
    const std::optional<int> channel = wholeIn(entry.get("channel"), 1, 16);
    const std::optional<int> number =
        *kind == ControlKind::PitchBend ? std::optional<int>(0) : wholeIn(entry.get("number"), 0, 127);
    if (!channel || !number) {
        problem = "its MIDI channel (1 to 16) or number (0 to 127) is missing or wrong";
        return std::nullopt;
    }
    binding.source.channel = *channel - 1;
    binding.source.number = *number;
    return binding;
}

} // namespace

std::string controllersJson(const ControllerSetup& setup) {
    JsonValue list = JsonValue::makeArray();
    for (const ControllerBinding& binding : setup.bindings)
        list.append(entryOf(binding));
    return JsonValue::makeObject(
               {{"osc_port", setup.oscPort}, {"osc_network", setup.oscOnNetwork}, {"controllers", std::move(list)}})
               .serialize(0, "  ") +
           "\n";
}

ControllerSetup readControllers(std::string_view text, std::vector<std::string>& problems) {
    ControllerSetup setup;
    int syntaxErrors = 0;
    const JsonValue document = parseJson(text, &syntaxErrors);
    if (syntaxErrors > 0) {
        problems.push_back(std::string(controllersFileName) + " is not valid JSON");
        return setup;
    }
    if (const JsonValue& port = document.get("osc_port"); port.kind() != JsonKind::Null) {
        if (const std::optional<int> number = wholeIn(port, 1, 65535))
            setup.oscPort = *number;
        else
            problems.push_back("\"osc_port\" is not a port from 1 to 65535");
    }
    setup.oscOnNetwork =
        document.get("osc_network").kind() == JsonKind::Boolean && document.get("osc_network").asBool();
    const JsonValue::Array& entries = document.get("controllers").elements();
    for (size_t index = 0; index < entries.size(); ++index) {
        std::string problem;
        if (std::optional<ControllerBinding> binding = bindingOf(entries[index], problem))
            setup.bindings.push_back(std::move(*binding));
        else
            problems.push_back("controller " + std::to_string(index + 1) + " left out: " + problem);
    }
    return setup;
}
