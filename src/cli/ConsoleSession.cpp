#include "ConsoleSession.h"

#include "SharedLibrary.h"

#include <iostream>

namespace qmv::cli {

Reply ConsoleDialogs::messageBox(const std::string& text, const std::string& caption, Buttons buttons)
{
    std::cerr << shownCaption(caption) << ": " << text << '\n';
    switch (buttons) {
    case Buttons::Ok:
        return Reply::Ok;
    case Buttons::YesNo:
        return Reply::No;
    case Buttons::RetryCancel:
    case Buttons::OkCancel:
        break;
    }
    return Reply::Cancel;
}

void ConsoleDialogs::plainMessage(const std::string& text)
{
    std::cerr << applicationTitle << ": " << text << '\n';
}

bool ConsoleSession::open(Access access)
{
    std::string error;
    m_library = LinkLibrary::load(libraryFolder(), &error);
    if (!m_library) {
        std::cerr << applicationTitle << ": " << error << '\n';
        return false;
    }
    m_link = std::make_unique<RemoteLink>(m_library->functions());
    RemoteLoader loader(*m_link, m_dialogs);
    loader.setLenient(access == Access::Inspect);
    loader.setMendable(access == Access::Repair);
    if (access == Access::Write || access == Access::Repair)
        loader.setBeforeTables([this](const std::string& remoteid) {
            std::string refusal;
            m_hold = WriterHold::take(remoteid, "qmv718-cli", &refusal);
            if (m_hold)
                m_journal.emplace(WriterHold::journalPathFor(remoteid));
            return refusal;
        });
    m_remote = loader.load();
    return m_remote.has_value();
}

MemoryImage ConsoleSession::writableImage() const
{
    MemoryImage image(link(), remote().snapshot);
    image.setJournal(journal());
    image.setRemoteIdentity(remote().remoteid, IdentityCheck::BeforeFirstChange);
    return image;
}

} // namespace qmv::cli
