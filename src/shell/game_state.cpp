// Construction of the module Main with its constants and default parts.
#include "shell/game_state.hpp"

#include "scenario/hooks.hpp"
#include "scenario/message_window.hpp"
#include "shell/routines.hpp"

namespace zav3 {

Main::Main(host::Host& h) : host(h), ownHooks_(std::make_unique<scenario::TracingHooks>()) {
  hooks = ownHooks_.get();
  productTag = "Zav3";
  versionLine = host::sj("zav3 engine " "0.1");
  captionPrefix = host::sj("SYSTEM Ver4.6  Ｚａｖ３ＡＤＶ Ｑｕｏｒｎ　");
  windowTitle = captionPrefix;
  shell::registerAllRoutines(routines);
  // The ship's tick ends skip mode when its countdown runs out: the skip log is closed then.
  closeSkipLog = scenario::closeSkipLog;
}

Main::~Main() = default;

void Main::setHooks(std::unique_ptr<scenario::ScenarioHooks> h) {
  ownHooks_ = std::move(h);
  hooks = ownHooks_.get();
}

}  // namespace zav3
