// SearchToListing: the search form's host. The start of a search and its found files go to the
// current listing as requests, carried out after the form's handler has returned; search/ and
// browse/ never include each other, so this is where they meet.
#pragma once

#include "BrowseHosts.h"
#include "SearchHost.h"

class SearchToListing : public SearchHost {
public:
    explicit SearchToListing(ListingRequests& listing) : m_listing(listing) {}
    void ClearFileList() override { m_listing.SearchStarting(); }
    void AddFoundFiles(const std::vector<std::string>& paths) override {
        m_listing.FilesFound(paths);
    }

private:
    ListingRequests& m_listing;
};
