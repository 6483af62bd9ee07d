// A page form's contents as printing reads them: its table, and the caption
// every label holds now.
#pragma once

#include "core/printing/page_spec.h"

#include <string>
#include <string_view>
#include <vector>

class Page {
public:
    // Every label holds its designed caption.
    explicit Page(const PageSpec &spec);

    const PageSpec &Spec() const { return *spec_; }

    // The captions of one array, by its index in the page or by its name
    // (which must be one of the page's).
    std::vector<std::string> &Captions(std::size_t array) { return captions_.at(array); }
    const std::vector<std::string> &Captions(std::size_t array) const { return captions_.at(array); }
    std::vector<std::string> &Captions(std::string_view arrayName);
    const std::vector<std::string> &Captions(std::string_view arrayName) const;

private:
    const PageSpec *spec_;
    std::vector<std::vector<std::string>> captions_;
};
