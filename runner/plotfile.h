#pragma once

#include <cstddef>
#include <string>

// The picture file that --plot names, written so that it either appears whole
// or not at all: the bytes go to a hidden temporary file in the same folder,
// which is renamed over the target only once everything has been written.
// Opening it first lets the runner refuse an unwritable path before it prints
// any of the table.
class PlotFile
{
  public:
    explicit PlotFile(std::string path);
    ~PlotFile(); // removes the temporary file unless it was committed
    PlotFile(const PlotFile &) = delete;
    PlotFile &operator=(const PlotFile &) = delete;

    // Each returns an empty string on success and otherwise a one-line
    // message without the program name.
    std::string open();
    std::string write(const char *data, std::size_t size);
    std::string commit();

  private:
    std::string problem(const std::string &what, int error) const;
    void discard();

    std::string target;      // as the user named it
    std::string destination; // the file that gets replaced, past any symbolic link
    std::string temporary;
    int descriptor = -1;
};
