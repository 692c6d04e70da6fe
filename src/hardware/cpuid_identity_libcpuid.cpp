#include "hardware/cpuid_identity.h"

#include "foundation/blanks.h"
#include "hardware/processor_names.h"

#include <libcpuid.h>

#include <utility>

namespace tarvik {

namespace {

std::optional<CpuidCache> cacheLevel(int sizeKB, int ways, int lineBytes)
{
    if (sizeKB <= 0)
        return std::nullopt;
    return CpuidCache{sizeKB, ways > 0 ? ways : 0, lineBytes > 0 ? lineBytes : 0};
}

std::vector<std::string> instructionSets(const cpu_id_t &id)
{
    static const std::pair<cpu_feature_t, const char *> named[] = {
        {CPU_FEATURE_MMX, "MMX"},     {CPU_FEATURE_MMXEXT, "MMX(+)"},   {CPU_FEATURE_3DNOW, "3DNow!"},
        {CPU_FEATURE_SSE, "SSE"},     {CPU_FEATURE_SSE2, "SSE2"},       {CPU_FEATURE_PNI, "SSE3"},
        {CPU_FEATURE_SSSE3, "SSSE3"}, {CPU_FEATURE_SSE4_1, "SSE4.1"},   {CPU_FEATURE_SSE4_2, "SSE4.2"},
        {CPU_FEATURE_SSE4A, "SSE4A"}, {CPU_FEATURE_LM, "x86-64"},       {CPU_FEATURE_VMX, "VT-x"},
        {CPU_FEATURE_SVM, "AMD-V"},   {CPU_FEATURE_AES, "AES"},         {CPU_FEATURE_AVX, "AVX"},
        {CPU_FEATURE_AVX2, "AVX2"},   {CPU_FEATURE_AVX512F, "AVX512F"}, {CPU_FEATURE_FMA3, "FMA3"},
        {CPU_FEATURE_FMA4, "FMA4"},   {CPU_FEATURE_SHA_NI, "SHA"},
    };
    std::vector<std::string> sets;
    for (const auto &[feature, name] : named)
        if (id.flags[feature])
            sets.emplace_back(name);
    return sets;
}

std::optional<CpuidIdentity> identify(cpu_raw_data_t &raw)
{
    cpu_id_t id{};
    if (cpu_identify(&raw, &id) != 0 || id.vendor_str[0] == '\0')
        return std::nullopt;
    CpuidIdentity identity;
    identity.vendor = id.vendor_str;
    identity.brand = trimWhitespace(id.brand_str);
    identity.family = id.family;
    identity.model = id.model;
    identity.stepping = id.stepping;
    identity.extFamily = id.ext_family;
    identity.extModel = id.ext_model;
    identity.codename = processorCodename(identity.vendor, identity.extFamily, identity.extModel, id.cpu_codename);
    identity.cores = id.num_cores > 0 ? id.num_cores : 0;
    identity.l1Data = cacheLevel(id.l1_data_cache, id.l1_data_assoc, id.l1_data_cacheline);
    identity.l1Instruction = cacheLevel(id.l1_instruction_cache, id.l1_instruction_assoc, id.l1_instruction_cacheline);
    identity.l2 = cacheLevel(id.l2_cache, id.l2_assoc, id.l2_cacheline);
    identity.l3 = cacheLevel(id.l3_cache, id.l3_assoc, id.l3_cacheline);
    identity.instructionSets = instructionSets(id);
    return identity;
}

} // namespace

std::optional<CpuidIdentity> identifyThisProcessor()
{
    cpu_raw_data_t raw{};
    if (!cpuid_present() || cpuid_get_raw_data(&raw) != 0)
        return std::nullopt;
    return identify(raw);
}

std::optional<CpuidIdentity> identifyRecordedProcessor(const std::filesystem::path &recording)
{
    cpu_raw_data_t raw{};
    if (!std::filesystem::is_regular_file(recording) || cpuid_deserialize_raw_data(&raw, recording.c_str()) != 0)
        return std::nullopt;
    return identify(raw);
}

} // namespace tarvik
