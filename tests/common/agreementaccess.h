// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/matchagreement.h"

namespace tw {

struct MatchAgreementTestAccess
{
    static void setPhase(MatchAgreement &agreement, AgreementPhase phase)
    {
        agreement.setPhase(phase);
    }
};

} // namespace tw
