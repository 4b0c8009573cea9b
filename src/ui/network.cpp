#include "network.h"

#include "mainwindow.h"

namespace tw {

NetworkController::NetworkController(TForm1 &main) : QObject(&main), m_main(main) {}

NetworkController::~NetworkController() = default;

void NetworkController::StartServer() {}

bool NetworkController::PeerConnected()
{
    return false;
}

bool NetworkController::InvitePeer()
{
    return true;
}

void NetworkController::SendShot(int, int) {}

void NetworkController::SendGameAborted() {}

void NetworkController::SendUserInfoIfIdle() {}

void NetworkController::ShowConnectionState() {}

void NetworkController::SendAim() {}

void NetworkController::ChatSend() {}

} // namespace tw
