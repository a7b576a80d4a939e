#pragma once

// Quality samples of one view's stream, reported to the service in batches.
class KRO3DStreamingStatistics {
 public:
  virtual ~KRO3DStreamingStatistics() = default;
};
