#include "window/window_sink.h"

#include <QMetaObject>

#include "window/main_window.h"

namespace window {

WindowSink::WindowSink(MainWindow* window) : window_(window) {}

void WindowSink::Detach() {
    std::lock_guard<std::mutex> lock(mutex_);
    window_ = nullptr;
}

namespace {

// Held by a worker while it builds and queues a call, and taken by the GUI thread
// before the call touches anything the worker built. Qt's event queue already orders
// the two, but with locks a thread sanitizer cannot see (Qt is not built with it),
// so without this lock every delivered call would be reported as a race. Uncontended
// it costs next to nothing.
std::mutex& HandOverLock() {
    static std::mutex lock;
    return lock;
}

}  // namespace

// The call is queued while the mutex is held, so the window cannot be destroyed
// between the test and the queuing; an event queued for a window that is destroyed
// later is discarded by Qt together with the window.
template <typename F>
void WindowSink::Post(F&& call) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (window_ == nullptr) {
        return;
    }
    MainWindow* w = window_;
    std::lock_guard<std::mutex> handOver(HandOverLock());
    QMetaObject::invokeMethod(
        w,
        [w, call = std::forward<F>(call)]() {
            { std::lock_guard<std::mutex> received(HandOverLock()); }
            call(*w);
        },
        Qt::QueuedConnection);
}

void WindowSink::ChangeThreadCount(int delta) {
    Post([delta](MainWindow& w) { w.ChangeThreadCount(delta); });
}

void WindowSink::AddResultNode(worker::NodeHandle queryNode, const std::string& text,
                               int imageIndex, const std::optional<worker::FirmRecord>& record) {
    Post([queryNode, text, imageIndex, record](MainWindow& w) {
        w.AddResultNode(queryNode, text, imageIndex, record);
    });
}

void WindowSink::SetNodeText(worker::NodeHandle node, const std::string& text) {
    Post([node, text](MainWindow& w) { w.SetNodeText(node, text); });
}

}  // namespace window
