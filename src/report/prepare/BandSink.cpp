#include "report/prepare/BandSink.h"

namespace orvel::report::prepare
{

void BandSink::putGroup(const BandRecording& group)
{
    group.replay(this);
}

void BandRecording::put(std::vector<BandInstance> bands, bool together)
{
    for (BandInstance& b : bands) {
        b.live = false; // the row it shows is gone when it is put for real
        if (b.cell == 0)
            m_height += b.height;
    }
    m_events.emplace_back(Bands{std::move(bands), together});
}

void BandRecording::replay(BandSink* sink) const
{
    for (const auto& event : m_events) {
        if (const auto* b = std::get_if<Bands>(&event))
            sink->put(b->bands, b->together);
        else if (const auto* r = std::get_if<Repeat>(&event))
            r->push ? sink->pushRepeated(r->header) : sink->popRepeated(r->header);
        else
            sink->breakPage();
    }
}

void BoxSink::put(std::vector<BandInstance> bands, bool)
{
    for (const BandInstance& b : bands) {
        if (b.cell == 0)
            m_rowTop = height;
        for (BandItem it : b.items) {
            it.item.rect.translate(b.x, m_rowTop);
            items.push_back(std::move(it));
        }
        height = std::max(height, m_rowTop + b.height);
    }
}

} // namespace orvel::report::prepare
