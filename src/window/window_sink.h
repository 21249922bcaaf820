// The main window's side of the worker contract: calls arrive on worker threads and
// are carried out on the GUI thread, in the order each worker issued them.
#pragma once

#include <mutex>

#include "worker/result_sink.h"

namespace window {

class MainWindow;

class WindowSink : public worker::ResultSink {
  public:
    explicit WindowSink(MainWindow* window);

    // Called by the window's destructor: nothing is delivered to it afterwards.
    void Detach();

    void ChangeThreadCount(int delta) override;
    void AddResultNode(worker::NodeHandle queryNode, const std::string& text, int imageIndex,
                       const std::optional<worker::FirmRecord>& record) override;
    void SetNodeText(worker::NodeHandle node, const std::string& text) override;

  private:
    template <typename F>
    void Post(F&& call);

    std::mutex mutex_;
    MainWindow* window_;
};

}  // namespace window
