#include "core/printing/page_spec.h"

int PageSpec::Array_Index(std::string_view arrayName) const
{
    for (std::size_t i = 0; i < arrays.size(); ++i)
        if (arrays[i].name == arrayName)
            return static_cast<int>(i);
    return -1;
}
