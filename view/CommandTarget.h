#pragma once
// Something a command can be routed to: a pane, a document, a frame, the
// application. The router asks each in turn and the first that handles a
// command id decides whether it is enabled and runs it.

namespace tabrel {

class ICommandTarget {
public:
    virtual ~ICommandTarget() = default;
    /// Whether this target handles command `id`; when it does, `enabled`
    /// tells whether it can run now.
    virtual bool QueryCommand(int id, bool& enabled) = 0;
    /// Runs command `id`; called only when QueryCommand said it is enabled.
    virtual void RunCommand(int id) = 0;
};

}  // namespace tabrel
