#pragma once
// File permissions do not stop root. Tests of unreadable files and read-only folders run
// their file operations with the file-system identity of an unprivileged user instead.

#include <sys/fsuid.h>
#include <unistd.h>

namespace nv::test {

class AsUnprivilegedUser {
  public:
    AsUnprivilegedUser() : wasRoot_(::geteuid() == 0) {
        if (wasRoot_) {
            ::setfsgid(65534);
            ::setfsuid(65534);
        }
    }
    ~AsUnprivilegedUser() {
        if (wasRoot_) {
            ::setfsuid(0);
            ::setfsgid(0);
        }
    }
    AsUnprivilegedUser(const AsUnprivilegedUser&) = delete;
    AsUnprivilegedUser& operator=(const AsUnprivilegedUser&) = delete;

  private:
    bool wasRoot_;
};

}  // namespace nv::test
