#include "records/records.h"

#include "foundation/fault.h"
#include "foundation/protocol.h"

#include <algorithm>

namespace tarvik {

namespace {
std::size_t slot(std::int16_t index)
{
    if (!isTestNumber(index))
        throw Fault(faults::SubscriptOutOfRange);
    return static_cast<std::size_t>(index - 1);
}
} // namespace

template <typename Value>
Value PerTest<Value>::get(std::int16_t index) const
{
    return m_values[slot(index)];
}

template <typename Value>
void PerTest<Value>::set(std::int16_t index, Value value)
{
    m_values[slot(index)] = value;
}

template <typename Value>
bool PerTest<Value>::any() const
{
    return std::any_of(m_values.begin(), m_values.end(), [](Value v) { return v != Value{}; });
}

template class PerTest<Record>;
template class PerTest<std::int32_t>;

} // namespace tarvik
