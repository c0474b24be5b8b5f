#pragma once

class QPainter;
class QPrinter;

namespace orvel
{

/// Takes back a print job that is being written, where the print system allows it.
class PrintJobs
{
public:
    /// Ends the painter on the printer without anything reaching the paper. Qt cannot abort
    /// a job for CUPS, whose job is sent when painting ends: there the job is sent held,
    /// then cancelled. Answers whether nothing will print.
    static bool abandon(QPrinter* printer, QPainter* painter);
};

} // namespace orvel
