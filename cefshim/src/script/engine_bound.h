// EngineBound: an object that holds roots in the script engine. The engine
// detaches every such object before it goes, so that none outlives it
// holding a root. Render thread only.
#pragma once

namespace cefshim::script {

class EngineBound {
 public:
  // Drops every root held; the object becomes invalid for good.
  virtual void DetachFromEngine() = 0;

 protected:
  ~EngineBound() = default;
};

}  // namespace cefshim::script
