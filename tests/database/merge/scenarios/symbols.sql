-- Symbols: one alike, one of the same name under another key (no line,
-- re-keyed), one new (added under the next free key). The target has no
-- components: the components added point to the target's keys.
-- target
INSERT INTO [Symbols] ([Key], [Name]) VALUES (1, 'Valve');
INSERT INTO [Symbols] ([Key], [Name]) VALUES (2, 'Sprinkler');
-- source
INSERT INTO [Symbols] ([Key], [Name]) VALUES (1, 'Valve');
INSERT INTO [Symbols] ([Key], [Name]) VALUES (7, 'Sprinkler');
INSERT INTO [Symbols] ([Key], [Name]) VALUES (2, 'Pump');
INSERT INTO [Components] ([Database Number], [Description], [Symbol File]) VALUES (2, 'Uses sprinkler', 7);
INSERT INTO [Components] ([Database Number], [Description], [Symbol File]) VALUES (2, 'Uses pump', 2);
INSERT INTO [Components] ([Database Number], [Description], [Symbol File]) VALUES (2, 'Uses valve', 1);
INSERT INTO [Components] ([Database Number], [Description], [Symbol File]) VALUES (2, 'Uses nothing', 0);
