// Why a project could not be loaded, in words for the user: a resource file it
// names is missing, or its data is damaged. Loading stops and the open project
// stays as it was.
#pragma once

#include <stdexcept>

class LoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
