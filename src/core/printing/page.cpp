#include "core/printing/page.h"

#include <stdexcept>

Page::Page(const PageSpec &spec) : spec_(&spec)
{
    captions_.reserve(spec.arrays.size());
    for (const LabelArraySpec &array : spec.arrays) {
        std::vector<std::string> &captions = captions_.emplace_back();
        captions.reserve(array.labels.size());
        for (const LabelSpec &label : array.labels)
            captions.push_back(label.caption);
    }
}

std::vector<std::string> &Page::Captions(std::string_view arrayName)
{
    const int index = spec_->Array_Index(arrayName);
    if (index < 0)
        throw std::out_of_range("no label array " + std::string(arrayName) + " on " + spec_->name);
    return captions_[index];
}

const std::vector<std::string> &Page::Captions(std::string_view arrayName) const
{
    return const_cast<Page *>(this)->Captions(arrayName);
}
