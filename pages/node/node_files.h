// The file work behind the Import / Export page: saving the node's configuration to a
// NodeSettings file, downloading one into the node, writing the factory settings. The settings
// file layer above the pages does it; the sheet hands it to the page when it builds the page.
// Each operation shows its steps through `progress` while it runs.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "framework/file_layer.h"
#include "nvdata/node_io.h"

class INodeFiles {
 public:
  using Progress = std::function<void(const std::string&)>;

  struct Saved {
    fw::FileWriteOutcome outcome = fw::FileWriteOutcome::kWritten;
    int readErrors = 0;  // NVs whose read failed: their sections have no value line
  };
  struct Downloaded {
    bool enabled = false;     // downloading was enabled at the end of the file
    int writeErrors = 0;      // writes the node refused or that could not be made
    bool readFailed = false;  // the file could not be read to its end
  };

  // The node's name as GetNodeName gives it with `capacity` (at most 20 bytes of it); nothing
  // when it cannot be fetched.
  virtual std::optional<std::string> NodeName(const NodeIo& node, int32_t capacity) const = 0;
  // Reads every NV and part and writes the file at `path`; `showNodeName` gets the name fetched.
  virtual Saved SaveToFile(const NodeIo& node, const std::string& path,
                           const std::function<void(const std::string&)>& showNodeName,
                           const Progress& progress) const = 0;
  // Downloads the open file (binary mode) into the node. `askDownloadAnyway` is asked at each
  // program ID line of another node type.
  virtual Downloaded Download(std::FILE* file, const NodeIo& node,
                              const std::function<bool()>& askDownloadAnyway,
                              const Progress& progress) const = 0;
  // Writes the factory settings; the number of writes that failed.
  virtual int WriteFactorySettings(const NodeIo& node, const Progress& progress) const = 0;

 protected:
  ~INodeFiles() = default;
};
