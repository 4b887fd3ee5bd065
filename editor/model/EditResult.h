#pragma once
// Outcome of a model operation: done (with the new object's ID where one was made), or
// refused with the message the user is shown.

#include <string>
#include <utility>

namespace talvo {

class [[nodiscard]] EditResult {
  public:
    static EditResult Done(int id = 0) { return EditResult(true, id, {}); }
    static EditResult Refused(std::string message) {
        return EditResult(false, 0, std::move(message));
    }

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    int id() const { return id_; }
    const std::string& message() const { return message_; }

  private:
    EditResult(bool ok, int id, std::string message)
        : ok_(ok), id_(id), message_(std::move(message)) {}

    bool ok_;
    int id_;
    std::string message_;
};

}  // namespace talvo
