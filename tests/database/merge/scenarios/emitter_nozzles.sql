-- An emitter whose nozzles are one the target has, one it has not and one
-- missing from the source (passed over); an emitter flagged with nozzles
-- whose only nozzle is missing keeps its flag, as in the source.
-- target
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Reals1]) VALUES (5, 15, 'Nozzle A', 1.5);
INSERT INTO [Components] ([Component Key], [Database Number], [Description]) VALUES (50, 2, 'Other');
-- source
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Flags]) VALUES (20, 12, 'Rotor', 4);
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Reals1]) VALUES (21, 15, 'Nozzle A', 1.5);
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Reals1]) VALUES (22, 15, 'Nozzle B', 2.5);
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Flags]) VALUES (23, 12, 'Bare rotor', 4);
INSERT INTO [Nozzles] ([Emitter Key], [Nozzle Key]) VALUES (20, 21);
INSERT INTO [Nozzles] ([Emitter Key], [Nozzle Key]) VALUES (20, 22);
INSERT INTO [Nozzles] ([Emitter Key], [Nozzle Key]) VALUES (20, 99);
INSERT INTO [Nozzles] ([Emitter Key], [Nozzle Key]) VALUES (23, 98);
