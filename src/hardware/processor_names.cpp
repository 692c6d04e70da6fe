#include "hardware/processor_names.h"

#include <charconv>
#include <optional>

namespace tarvik {

namespace {

// AMD family 1Ah (Zen 5) by model range.
struct ModelRange {
    int first;
    int last;
    const char *name;
};

constexpr int AmdZen5Family = 0x1A;
constexpr ModelRange AmdZen5Models[] = {
    {0x00, 0x0F, "Turin"},         {0x10, 0x1F, "Turin Dense"},   {0x20, 0x2F, "Strix Point"},
    {0x40, 0x4F, "Granite Ridge"}, {0x60, 0x6F, "Krackan Point"}, {0x70, 0x7F, "Strix Halo"},
};

struct ArmPart {
    int implementer;
    int part;
    const char *name;
};

struct ArmImplementer {
    int code;
    const char *name;
};

constexpr ArmImplementer ArmImplementers[] = {
    {0x41, "ARM"},    {0x42, "Broadcom"}, {0x43, "Cavium"},    {0x46, "Fujitsu"}, {0x48, "HiSilicon"},
    {0x4E, "NVIDIA"}, {0x50, "APM"},      {0x51, "Qualcomm"},  {0x53, "Samsung"}, {0x56, "Marvell"},
    {0x61, "Apple"},  {0x69, "Intel"},    {0x6D, "Microsoft"}, {0xC0, "Ampere"},
};

constexpr ArmPart ArmParts[] = {
    {0x41, 0xB76, "ARM1176"},       {0x41, 0xC07, "Cortex-A7"},       {0x41, 0xC08, "Cortex-A8"},
    {0x41, 0xC09, "Cortex-A9"},     {0x41, 0xC0F, "Cortex-A15"},      {0x41, 0xC0E, "Cortex-A17"},
    {0x41, 0xD01, "Cortex-A32"},    {0x41, 0xD03, "Cortex-A53"},      {0x41, 0xD04, "Cortex-A35"},
    {0x41, 0xD05, "Cortex-A55"},    {0x41, 0xD07, "Cortex-A57"},      {0x41, 0xD08, "Cortex-A72"},
    {0x41, 0xD09, "Cortex-A73"},    {0x41, 0xD0A, "Cortex-A75"},      {0x41, 0xD0B, "Cortex-A76"},
    {0x41, 0xD0C, "Neoverse-N1"},   {0x41, 0xD0D, "Cortex-A77"},      {0x41, 0xD40, "Neoverse-V1"},
    {0x41, 0xD41, "Cortex-A78"},    {0x41, 0xD44, "Cortex-X1"},       {0x41, 0xD46, "Cortex-A510"},
    {0x41, 0xD47, "Cortex-A710"},   {0x41, 0xD48, "Cortex-X2"},       {0x41, 0xD49, "Neoverse-N2"},
    {0x41, 0xD4D, "Cortex-A715"},   {0x41, 0xD4E, "Cortex-X3"},       {0x41, 0xD4F, "Neoverse-V2"},
    {0x41, 0xD80, "Cortex-A520"},   {0x41, 0xD81, "Cortex-A720"},     {0x41, 0xD82, "Cortex-X4"},
    {0x43, 0x0AF, "ThunderX2"},     {0x48, 0xD01, "TaiShan v110"},    {0x4E, 0x004, "Carmel"},
    {0x51, 0x800, "Kryo 2xx Gold"}, {0x51, 0x801, "Kryo 2xx Silver"}, {0x61, 0x022, "M1 Icestorm"},
    {0x61, 0x023, "M1 Firestorm"},  {0xC0, 0xAC3, "Ampere-1"},        {0xC0, 0xAC4, "Ampere-1a"},
};

// "0x41" and the like, as cpuinfo writes these fields.
std::optional<int> hexField(const std::string &text)
{
    if (!text.starts_with("0x") || text.size() == 2)
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data() + 2, text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::string processorCodename(const std::string &vendor, int extFamily, int extModel, const std::string &libraryName)
{
    if (vendor != "AuthenticAMD" || extFamily < AmdZen5Family)
        return libraryName;
    if (extFamily == AmdZen5Family)
        for (const ModelRange &range : AmdZen5Models)
            if (extModel >= range.first && extModel <= range.last)
                return range.name;
    return {};
}

std::string armProcessorName(const std::string &implementer, const std::string &part)
{
    const auto implementerCode = hexField(implementer);
    const auto partCode = hexField(part);
    const ArmImplementer *designer = nullptr;
    for (const ArmImplementer &known : ArmImplementers)
        if (implementerCode == known.code)
            designer = &known;
    if (!designer)
        return {};
    for (const ArmPart &known : ArmParts)
        if (known.implementer == designer->code && partCode == known.part)
            return std::string(designer->name) + " " + known.name;
    return partCode ? std::string(designer->name) + " part " + part : std::string(designer->name);
}

} // namespace tarvik
