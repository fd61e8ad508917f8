#pragma once

#include "Charting/utils/Transformer.h"

namespace charting {

// The transformer of a horizontal bar chart, whose y values run along the horizontal pixel
// direction: an inverted axis mirrors the horizontal direction (bars grow leftwards from the
// content's right edge) instead of the vertical one.
class TransformerHorizontalBarChart : public Transformer {
public:
    static std::shared_ptr<TransformerHorizontalBarChart>
    create(std::shared_ptr<ViewPortHandler> viewPortHandler);
    using Transformer::Transformer;

    void prepareMatrixOffset(bool inverted) override;
};

} // namespace charting
