#include "calc/CalculatorPage.h"

namespace qf {

CalculatorPage::CalculatorPage(DesignerPage &designer, DebugLog &log, UserPrompts &prompts,
                               QWidget *parent)
    : QWidget(parent), designer_(designer), log_(log), prompts_(prompts)
{
}

} // namespace qf
