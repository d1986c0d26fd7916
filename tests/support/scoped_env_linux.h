// SPDX-License-Identifier: GPL-3.0-or-later
// Sets an environment variable for as long as it lives and puts the old
// value (or its absence) back afterwards. POSIX only.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace sonatrix::testing {

class ScopedEnv {
  public:
    // `value` nullptr: the variable is unset meanwhile.
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace sonatrix::testing
