# Install rules and packaging; filled in by its owner.
